// What the project's PDF printer (tools/printer) made of a print job: the
// spooler writes each document into its output folder a moment after the
// job ends, so a caller notes the folder's files before the job and waits for
// the new one after it. Used by the gallery's --print and by the tests that
// print through the real spooler. (Windows; the folder is the host's,
// reached through Wine's Z: drive.)
#pragma once

#include <set>
#include <string>

namespace printout {

// The folder named by QOR_PRINTER_PDF (a host path) as a Windows path; empty
// when the variable is not set.
std::string PdfFolder();

// The names of the PDF files in the folder now.
std::set<std::string> PdfNames(const std::string& strFolder);

// The full path of a PDF in the folder that is not among before, waiting up to
// nTimeoutMs for one; empty when none came.
std::string WaitForNewPdf(const std::string& strFolder, const std::set<std::string>& before, unsigned nTimeoutMs);

}  // namespace printout
