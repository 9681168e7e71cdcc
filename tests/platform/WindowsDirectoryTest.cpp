#include "platform/WindowsDirectory.h"

#include <QDir>
#include <gtest/gtest.h>

namespace {

// Sets or clears an environment variable for one test and puts it back afterwards.
class EnvironmentOverride {
public:
    EnvironmentOverride(const char* name, const char* value) : name_(name), had_(qEnvironmentVariableIsSet(name))
    {
        old_ = qgetenv(name);
        if (value)
            qputenv(name, value);
        else
            qunsetenv(name);
    }
    ~EnvironmentOverride()
    {
        if (had_)
            qputenv(name_, old_);
        else
            qunsetenv(name_);
    }

private:
    const char* name_;
    bool had_;
    QByteArray old_;
};

}  // namespace

TEST(WindowsDirectory, TakesWindirWithoutTrailingSeparator)
{
    EnvironmentOverride windir("WINDIR", "/srv/win/");
    EXPECT_EQ(WindowsDirectory(), QStringLiteral("/srv/win"));
}

TEST(WindowsDirectory, FallsBackToThePerUserFolder)
{
    EnvironmentOverride windir("WINDIR", nullptr);
    {
        EnvironmentOverride data("XDG_DATA_HOME", "/home/u/data");
        EXPECT_EQ(WindowsDirectory(), QStringLiteral("/home/u/data/kivo/windows"));
    }
    {
        EnvironmentOverride data("XDG_DATA_HOME", nullptr);
        EXPECT_EQ(WindowsDirectory(), QDir::homePath() + QStringLiteral("/.local/share/kivo/windows"));
    }
    EnvironmentOverride empty("WINDIR", "");
    EXPECT_TRUE(WindowsDirectory().endsWith(QStringLiteral("/kivo/windows")));
}
