// The information-file reader on any bytes: it either gives two names and a count from 1 to 256
// or throws one of our errors; the labels are every line after the first.
#include "files/breedresources.h"
#include "fuzzsupport.h"
#include "platform/errors.h"

using namespace yw;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::Fixture& fixture = fuzz::Fixture::instance();
    const QString path = fixture.path(QStringLiteral("input.blz"));
    const QByteArray bytes = fuzz::bytesOf(data, size);
    fuzz::writeScratch(path, bytes);
    try {
        const BreedHeader header = readBreedHeader(path);
        fuzz::check(header.ballsPerSet >= 1 && header.ballsPerSet <= kMaxBallsPerSet,
                    "an eBall count outside 1 to 256 was accepted");
    } catch (const FormatError& error) {
        fuzz::check(error.file() == path, "a format error does not name the file");
    } catch (const Error&) {
    }
    const std::vector<std::string> labels = readBreedLabels(path);
    size_t total = 0;
    for (const std::string& label : labels) {
        fuzz::check(label.find_first_of("\r\n") == std::string::npos, "a label holds a line end");
        total += label.size();
    }
    fuzz::check(qsizetype(total) <= bytes.size(), "the labels hold more bytes than the file");
    return 0;
}
