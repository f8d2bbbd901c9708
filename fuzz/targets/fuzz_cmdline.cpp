// The command line of the headless search: the input is the arguments,
// separated by zero bytes.
#include "fuzzhome.h"
#include "search/core/headlessfind.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    fuzz::home();
    QStringList args;
    for (const QByteArray &a : QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)).split('\0'))
        args << QString::fromLocal8Bit(a);
    vt::FindArgs out;
    QByteArray error;
    const bool ok = vt::parseFindArgs(args, out, error);
    if (ok == !error.isEmpty())
        fuzz::fail("a refusal without its text, or a text without refusal");
    if (ok && (out.params.depth < 0 || out.params.depth > 200))
        fuzz::fail("depth outside its field");
    return 0;
}
