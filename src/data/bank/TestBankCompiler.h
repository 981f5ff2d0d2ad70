// Compiles the test bank sources (docs/testbank-format.md) into a bank file.
#pragma once

#include "TestBankSource.h"

#include <QString>
#include <QStringList>

class TestBankCompiler {
public:
    struct Summary {
        int categories = 0;
        int tests = 0;
        int items = 0;
        int factors = 0;
        int norms = 0;
        int conversions = 0;
        int averageSd = 0;
    };

    // Reads and checks the sources under folder and, when they are sound, writes the bank to
    // output through a temporary file next to it that replaces output only at the end. Returns
    // false with errors() otherwise; no output file is then written and an existing one is kept.
    bool build(const QString& folder, const QString& output);

    // Checks sources that were read without errors; adds to source.errors.
    static void check(BankSource& source);

    const QStringList& errors() const { return m_errors; }
    const Summary& summary() const { return m_summary; }

private:
    void write(const BankSource& source, const QString& file);

    QStringList m_errors;
    Summary m_summary;
};
