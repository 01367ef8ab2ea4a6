#pragma once

#include "failure_report.h"

class MessageBoxReport : public FailureReport {
public:
    void report(const QString &message) override;
};
