#pragma once
// The questions and refusals of the check window and the layout setup, in
// one place for the windows and their pictures.
#include "checklayout.h"

#include "platform/prompts.h"

namespace tallyo {

// Asked when the account has no layout yet: 1 goes on to the setup.
MessageRequest PrintSettingsQuestion();

// Why the setup refuses a layout (nothing for LayoutProblem::None).
MessageRequest LayoutRefusal(LayoutProblem problem);

}
