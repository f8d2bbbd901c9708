#include "platform/siblingprogram.h"

#include <climits>
#include <string>
#include <unistd.h>
#include <vector>

namespace vt::fs {

void runSiblingProgram(const char *name, char **argv)
{
    char self[PATH_MAX];
    const ssize_t n = ::readlink("/proc/self/exe", self, sizeof self - 1);
    std::string path = n > 0 ? std::string(self, size_t(n)) : std::string(argv[0] ? argv[0] : "");
    const size_t slash = path.rfind('/');
    path = (slash == std::string::npos ? std::string() : path.substr(0, slash + 1)) + name;
    std::vector<char *> args{const_cast<char *>(path.c_str())};
    for (int i = 1; argv[0] && argv[i]; ++i)
        args.push_back(argv[i]);
    args.push_back(nullptr);
    ::execv(path.c_str(), args.data());
}

} // namespace vt::fs
