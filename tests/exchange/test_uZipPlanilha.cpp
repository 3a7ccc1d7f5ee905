#include "common/uExcecoes.h"
#include "exchange/uZipPlanilha.h"
#include "support/PlanilhaTeste.h"

#include <gtest/gtest.h>

namespace {

constexpr qint64 Limite = 1024 * 1024;

QString Recusa(const QByteArray &zip)
{
    try {
        VerificarZipPlanilha(zip, Limite);
    } catch (const EVrtException &erro) {
        return erro.Message();
    }
    return QString();
}

TEST(ZipPlanilha, PassesAnArchiveWithinTheLimit)
{
    EXPECT_EQ(Recusa(XlsxTeste(QByteArray(Limite / 2, ' '))), QString());
}

TEST(ZipPlanilha, RefusesWhatWouldInflateBeyondTheLimitWhateverItDeclares)
{
    const QString grande
        = QStringLiteral("A planilha é grande demais: descompactada passaria de 1 MB.");
    EXPECT_EQ(Recusa(XlsxTeste(QByteArray(Limite + 1, ' '))), grande);
    // A directory that lies about the size is caught by inflating and counting.
    EXPECT_NE(Recusa(XlsxTeste(QByteArray(Limite * 4, ' '), 100)), QString());
}

TEST(ZipPlanilha, RefusesDamagedArchives)
{
    const QByteArray bom = XlsxTeste(QByteArray("<row r=\"1\"/>"));
    const QByteArray cortado = bom.left(bom.size() / 2);
    QByteArray semDiretorio = bom;
    semDiretorio[semDiretorio.indexOf(QByteArray("PK\x01\x02", 4)) + 2] = 'X';
    for (const QByteArray &ruim :
        {QByteArray(), QByteArray("not a zip at all"), cortado, semDiretorio})
        EXPECT_NE(Recusa(ruim), QString());
}

} // namespace
