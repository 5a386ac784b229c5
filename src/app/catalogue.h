#pragma once
// The program's language, installed once at start by each composition root: the English catalogue built
// from translations/kinoval_en.ts (embedded as kinoval_en.qm) answers core's Tr() and so the gui's T(), and
// Qt's own texts (the standard dialogs and buttons) come from Qt's catalogue of the same language.

#include "core/common/texts.h"

namespace kinoval::app {

// Installs the catalogue of the language; French needs none of the program's own. withQtTexts also
// installs Qt's catalogue into the running application (the window program; the command line has none).
// Answers false when the catalogue could not be read (the program then speaks French).
bool InstallLanguage(TLanguage language, bool withQtTexts);

} // namespace kinoval::app
