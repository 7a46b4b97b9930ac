// The one copy of stb_image in the program: only the two formats the pictures use, from
// memory. Its frames keep no per-thread state and no messages, which the program never reads.
// The SIMD path is off as MinGW's build has it, so the tests decode exactly as the program does.
#define STBI_ONLY_JPEG
#define STBI_ONLY_GIF
#define STBI_NO_STDIO
#define STBI_NO_LINEAR
#define STBI_NO_HDR
#define STBI_NO_THREAD_LOCALS
#define STBI_NO_FAILURE_STRINGS
#define STBI_NO_SIMD
// A larger side is no picture of ours (the largest is 618 px) and would only cost memory.
#define STBI_MAX_DIMENSIONS 2048
#define STB_IMAGE_IMPLEMENTATION
#include <stb_image.h>
