// korvane [FOLDER] | korvane --screenshot FILE [FOLDER]
int main() { return 1; }
