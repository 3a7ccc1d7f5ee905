#include "components/uAncoras.h"

#include <QTest>
#include <QWidget>

Q_DECLARE_METATYPE(TAnchors)

class TestAncoras : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // A control at 10, 20 sized 100 x 30 in a 400 x 300 container that grows to 500 x 350.
    void followsTheEdgesItIsAnchoredTo_data()
    {
        QTest::addColumn<TAnchors>("ancoras");
        QTest::addColumn<QRect>("esperado");
        QTest::newRow("left top") << TAnchors(akLeft | akTop) << QRect(10, 20, 100, 30);
        QTest::newRow("left top right") << (akLeft | akTop | akRight) << QRect(10, 20, 200, 30);
        QTest::newRow("top right") << (akTop | akRight) << QRect(110, 20, 100, 30);
        QTest::newRow("right bottom") << (akRight | akBottom) << QRect(110, 70, 100, 30);
        QTest::newRow("left top bottom") << (akLeft | akTop | akBottom) << QRect(10, 20, 100, 80);
        QTest::newRow("none: centre in proportion") << TAnchors() << QRect(25, 25, 100, 30);
    }

    void followsTheEdgesItIsAnchoredTo()
    {
        QFETCH(TAnchors, ancoras);
        QFETCH(QRect, esperado);
        QWidget conteiner;
        conteiner.resize(400, 300);
        QWidget controle(&conteiner);
        controle.setGeometry(10, 20, 100, 30);
        auto *ancoragem = new TAncoragem(conteiner);
        ancoragem->Ancorar(controle, ancoras);

        conteiner.show();
        conteiner.resize(500, 350);
        QCOMPARE(controle.geometry(), esperado);

        conteiner.resize(400, 300);
        QCOMPARE(controle.geometry(), QRect(10, 20, 100, 30));
    }

    // Resizing after a control went away must not touch it.
    void aDestroyedControlIsSkipped()
    {
        QWidget conteiner;
        conteiner.resize(400, 300);
        auto *controle = new QWidget(&conteiner);
        auto *ancoragem = new TAncoragem(conteiner);
        ancoragem->Ancorar(*controle, akRight);
        delete controle;
        conteiner.show();
        conteiner.resize(500, 300);
        QCOMPARE(conteiner.width(), 500);
    }
};

QTEST_MAIN(TestAncoras)
#include "test_uAncoras.moc"
