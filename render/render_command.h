#pragma once
// `render`: the chart picture that Save > Plot writes, or the whole result
// panel, for each file, without a display.

#include "cli/cli_args.h"

namespace tavo::cli {

// Starts the one QApplication of the run; the exit status.
int renderPictures(const Arguments &args);

} // namespace tavo::cli
