#pragma once

// Resource numbers shared by sqpatch.rc and the code. Plain defines: the
// resource compiler reads this file too.

// The application's main icon: the lowest number, so Explorer shows it.
#define SQP_MAIN_ICON 1
