// The library's 256-byte message buffer: the last failure, for GetErrorMessage().
#ifndef KERROW_MESSAGE_H
#define KERROW_MESSAGE_H

#if defined(__GNUC__)
#define KERROW_PRINTF(f, a) __attribute__((format(printf, f, a)))
#else
#define KERROW_PRINTF(f, a)
#endif

/// Size of the buffer; a message holds at most kMessageSize - 1 characters.
constexpr int kMessageSize = 256;

/// Formats into the buffer, cutting a longer text at 255 characters.
void kerrow_set_message(const char* format, ...) KERROW_PRINTF(1, 2);

/// The buffer, empty until the first failure.
const char* kerrow_message();

#endif
