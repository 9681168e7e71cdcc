#include "startup/AppContext.h"

#include <cstdlib>

QString AppContext::programPath(const QString& relative) const
{
    return programDir + u'/' + relative;
}

void AppContext::endProgramNow(int exitCode) const
{
    if (endProgram) {
        endProgram(exitCode);
        return;
    }
    std::exit(exitCode);
}
