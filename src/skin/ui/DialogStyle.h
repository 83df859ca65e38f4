#pragma once
// The dark look of the window's own dialogs, in the colours of the skin's
// panels: dark faces, light text, flat buttons. Check boxes keep their
// indicator to CheckMarkStyle, which tells ticked, unticked and disabled
// apart.
inline constexpr const char* kDialogStyleSheet =
    "QDialog { background: #20252b; }"
    "QLabel, QCheckBox { color: #e6e9ed; }"
    "QLabel:disabled, QCheckBox:disabled { color: #7d858e; }"
    "QProgressBar { background: #14171b; color: #e6e9ed; border: 1px solid #3a424c; border-radius: 2px;"
    " text-align: center; min-height: 16px; }"
    "QProgressBar::chunk { background: #3d8fd1; }"
    "QPushButton { background: #2d343c; color: #e6e9ed; border: 1px solid #4a545f; padding: 4px 16px; }"
    "QPushButton:hover { background: #38414b; }"
    "QPushButton:default { border-color: #3d8fd1; }"
    "QPushButton:disabled { color: #8a929b; }";
