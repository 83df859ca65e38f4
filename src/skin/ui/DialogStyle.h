#pragma once
// The dark look of the window's own dialogs, in the colours of the skin's
// panels: dark faces, light text, flat buttons, dark fields. A list's pop-up
// is a window of its own that the field's colours do not reach, so it is
// named here: without it the light text lands on the system's white. The
// control that has the keyboard wears a light amber frame, so Tab shows
// where it went. Check boxes keep their indicator to CheckMarkStyle, which
// tells ticked, unticked and disabled apart.
inline constexpr const char* kDialogStyleSheet =
    "QDialog { background: #20252b; }"
    "QLabel, QCheckBox, QRadioButton { color: #e6e9ed; }"
    "QLabel:disabled, QCheckBox:disabled, QRadioButton:disabled { color: #7d858e; }"
    "QProgressBar { background: #14171b; color: #e6e9ed; border: 1px solid #3a424c; border-radius: 2px;"
    " text-align: center; min-height: 16px; }"
    "QProgressBar::chunk { background: #3d8fd1; }"
    "QPushButton { background: #2d343c; color: #e6e9ed; border: 1px solid #4a545f; padding: 4px 16px; }"
    "QPushButton:hover { background: #38414b; }"
    "QPushButton:default { border-color: #3d8fd1; }"
    "QPushButton:disabled { color: #8a929b; }"
    "QLineEdit, QComboBox, QDateTimeEdit, QSpinBox { background: #14171b; color: #e6e9ed;"
    " border: 1px solid #3a424c; padding: 2px 4px; }"
    "QLineEdit:disabled, QComboBox:disabled, QDateTimeEdit:disabled, QSpinBox:disabled { color: #6b737c; }"
    "QComboBox QAbstractItemView { background: #14171b; color: #e6e9ed; border: 1px solid #4a545f;"
    " selection-background-color: #3d8fd1; selection-color: #ffffff; outline: 0; }"
    "QPushButton:focus, QLineEdit:focus, QComboBox:focus, QDateTimeEdit:focus, QSpinBox:focus"
    " { border: 1px solid #f0b43c; }"
    "QCheckBox:focus, QRadioButton:focus { color: #ffd27a; }";
