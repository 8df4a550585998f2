#pragma once
// The console converter asks about the missing virtual printer on a terminal,
// which a program started from the desktop menu does not have: its children
// would just fail. Make PDF asks the same question itself, in a message box,
// before it starts any conversion.
class QWidget;

namespace runner {

// True when "Folivo Converter and Creator" is installed for this user or for
// every user.
bool VirtualPrinterInstalled();

// The question box about the printer's download page, owned by `owner`; Yes
// opens the page. Returns whether the user answered Yes.
bool OfferPrinterDownload(QWidget* owner);

}  // namespace runner
