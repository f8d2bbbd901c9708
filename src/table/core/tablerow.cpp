#include "table/core/tablerow.h"
