#include "matching/MatchingState.h"
