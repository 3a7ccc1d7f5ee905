#include "app/uTraducoes.h"

#include <QApplication>
#include <QTest>

class TestTraducoes : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void standardDialogsSpeakPortuguese()
    {
        QVERIFY(CarregarTraducoesQt(*QCoreApplication::instance()));
        QCOMPARE(QCoreApplication::translate("QFileDialog", "Open"), QStringLiteral("Abrir"));
    }
};

QTEST_MAIN(TestTraducoes)
#include "test_uTraducoes.moc"
