#pragma once
// Check boxes on the window's dark faces: a light frame around a dark well
// when unticked, a lit well with a white tick when ticked, and both dimmed
// when disabled, so that the three read apart at a glance. Used for the
// check boxes of the dialogs and panes and the check column of the lists.
class QWidget;

// Draws widget's check boxes (and, for a list, its check column) this way;
// the widget's style sheet keeps everything else.
void UseCheckMarkStyle(QWidget* widget);

// Makes the style the application's, before the first window is built: every
// widget then has it from the start, and UseCheckMarkStyle has nothing to do.
void UseCheckMarkStyleEverywhere();
