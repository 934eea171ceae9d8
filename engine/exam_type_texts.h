#pragma once

#include <QString>

namespace zentrix::engine {

// The explanations beside the Open Book and Closed Book buttons.
QString OpenBookExplanation();
QString ClosedBookExplanation();

}  // namespace zentrix::engine
