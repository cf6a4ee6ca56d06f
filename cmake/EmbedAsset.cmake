# Writes one asset file as a C++ byte array, so the program carries it on every platform.
# Run with -DINPUT=<file> -DOUTPUT=<.cpp> -DSYMBOL=<C identifier>.
cmake_minimum_required(VERSION 3.25)
file(READ ${INPUT} hex HEX)
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REGEX REPLACE "((0x..,){24})" "\\1\n" bytes "${bytes}")
# A closing zero keeps an empty file a valid array and ends a text asset; it is not
# counted in the size.
file(WRITE ${OUTPUT} "#include <span>

namespace {
const unsigned char bytes[] = {
${bytes}0};
}  // namespace

extern const std::span<const unsigned char> ${SYMBOL}(bytes, sizeof bytes - 1);
")
