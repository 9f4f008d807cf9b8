#include "app/Notice.h"

#include "toolkit/OneLine.h"

std::string OneLineText(std::string_view text) { return OneLine(text, TLineBreaks::CrLfNul); }
