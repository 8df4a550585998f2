#pragma once
// The authoring applications as in-process automation servers. Documents are
// rendered by LibreOffice in headless mode and PDF files re-printed through
// libqpdf; the result goes to the spooler like any print job.

namespace office {

// Registers "Word.Application", "Excel.Application", "PowerPoint.Application",
// "Visio.Application", "AcroExch.App" and "AcroExch.AVDoc" in the automation
// class table. Creating one of the first four fails, as for an application
// that is not installed, when LibreOffice (soffice) is not in PATH.
void RegisterAutomationServers();

}  // namespace office
