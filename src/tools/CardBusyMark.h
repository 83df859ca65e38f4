#pragma once
// Set while a card is being formatted. The format takes the card away from
// the system and gives it back; the main window must not take that for the
// user pulling the card. Set and cleared by the format dialog, read by the
// main window's media watch.

void SetCardFormatting(bool formatting);
bool CardFormatting();
