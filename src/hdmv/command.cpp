#include "hdmv/command.h"
