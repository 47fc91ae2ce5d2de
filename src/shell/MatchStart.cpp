#include "shell/MainForm.h"

namespace mv {

// Placeholder until the match start lands: the screens can already call it.
void TMainForm::startMatch(const MatchSetup&) {}

}  // namespace mv
