// A PostScript printer of the test process's own on Wine's driver. Every job it prints is piped
// by Wine's spooler into a shell command that keeps it as job-N.ps in the test's folder and has
// Ghostscript write the texts of each page to job-N-page-P.txt, so a test reads what came out
// of the printer page by page. A refusing printer's command fails, so EndDoc reports an error.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

class TestPrinter {
public:
    // Adds the driver, the port and the printer; 1, or 0 with the reason in `error`.
    int Install(const std::string& folder, bool refuse = false);
    void Remove();
    ~TestPrinter() { Remove(); }

    // A device context on the printer, as the print dialog gives one.
    HDC CreateDc() const;
    // Jobs that arrived so far, and one job's PostScript and page texts (spaces as spaces).
    int JobCount() const;
    std::string PostScript(int job) const;
    std::vector<std::string> PageTexts(int job) const;

    std::string name;
    std::string error;

private:
    std::string folder_, port_, driver_, ppd_;
    bool installed_ = false;
};
