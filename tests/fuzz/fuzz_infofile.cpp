// The information-file reader on any bytes: it either gives two names and a count from 1 to 256
// or throws one of our errors (a format error naming the file); the labels are every line after
// the first.
#include "files/breedresources.h"
#include "fuzzsupport.h"

using namespace yw;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes = fuzz::bytesOf(data, size);
    const QString path = fuzz::input(QStringLiteral("input.blz"), bytes);
    try {
        const BreedHeader header = readBreedHeader(path);
        fuzz::check(header.ballsPerSet >= 1 && header.ballsPerSet <= kMaxBallsPerSet,
                    "an eBall count outside 1 to 256 was accepted");
    } catch (const FormatError& error) {
        fuzz::check(error.file() == path, "a format error does not name the file");
    } catch (const Error&) {
    }
    size_t total = 0;
    for (const std::string& label : readBreedLabels(path)) {
        fuzz::check(label.find_first_of("\r\n") == std::string::npos, "a label holds a line end");
        total += label.size();
    }
    fuzz::check(qsizetype(total) <= bytes.size(), "the labels hold more bytes than the file");
    return 0;
}
