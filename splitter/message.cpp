#include "message.h"

#include <cstdarg>
#include <cstdio>

namespace {
char g_message[kMessageSize];
}

void kerrow_set_message(const char* format, ...) {
    std::va_list args;
    va_start(args, format);
    // vsnprintf never writes past the buffer and always ends it with a NUL.
    if (std::vsnprintf(g_message, sizeof g_message, format, args) < 0)
        g_message[0] = '\0';
    va_end(args);
}

const char* kerrow_message() {
    return g_message;
}
