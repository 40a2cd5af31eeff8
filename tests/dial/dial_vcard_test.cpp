// Address cards: escaping and folding both ways, the cards of the destinations, and cards of
// other programs added to the free Speed Dial entries with what was skipped and why.
#include <gtest/gtest.h>
