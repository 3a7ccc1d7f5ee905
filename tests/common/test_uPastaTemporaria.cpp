#include "common/uPastaTemporaria.h"

#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

TEST(PastaTemporaria, IsOneFolderInTheTemporaryLocationForItsOwnerAlone)
{
    const QString pasta = PastaTemporaria();
    EXPECT_EQ(PastaTemporaria(), pasta);
    EXPECT_TRUE(pasta.endsWith(QLatin1Char('/')));
    EXPECT_TRUE(pasta.startsWith(QDir::tempPath() + QLatin1Char('/')));

    const QFileInfo info(pasta);
    ASSERT_TRUE(info.isDir());
    EXPECT_EQ(info.permissions() & ~(QFile::ReadUser | QFile::WriteUser | QFile::ExeUser),
        QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}
