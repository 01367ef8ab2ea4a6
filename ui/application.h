#pragma once

#include <QApplication>

class Form1;

// The program's QApplication: its name, version, fonts and icon, and where
// the main window's failure reports are shown.
class Application : public QApplication {
    Q_OBJECT

public:
    Application(int &argc, char **argv);

    // Shows each failure `window` reports in a message box on that window,
    // opened from the event loop rather than inside the event that failed.
    void showFailuresOf(Form1 &window);
};
