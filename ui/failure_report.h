#pragma once

class QString;

// Where a handler's failure is reported. The program shows a message box;
// tests record the message instead, so nothing ever blocks on a dialog.
class FailureReport {
public:
    virtual ~FailureReport() = default;
    virtual void report(const QString &message) = 0;
};
