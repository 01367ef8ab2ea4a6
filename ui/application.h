#pragma once

#include <QApplication>

// The program's QApplication: its name, version, fonts and icon.
class Application : public QApplication {
    Q_OBJECT

public:
    Application(int &argc, char **argv);
};
