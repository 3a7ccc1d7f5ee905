#include "components/MemTable.h"
#include "components/uDBText.h"

#include <QTest>

class TestDBText : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_tabela = std::make_unique<TMemoryTable>(QStringLiteral("mmDados"));
        m_tabela->AdicionarCampo(QStringLiteral("ELIDESCRICAO"), ftString, 255);
        m_tabela->AdicionarCampo(QStringLiteral("FormaJulgamento"), ftString, 2).OnGetText
            = [](TField &campo, QString &texto, bool) {
                  texto = campo.AsString() == QStringLiteral("Gl") ? QStringLiteral("Global")
                                                                   : QString();
              };
        m_fonte = std::make_unique<TDataSource>();
        m_fonte->SetDataSet(m_tabela.get());
    }

    void followsTheCurrentRowInItsDisplayText()
    {
        TDBText texto;
        texto.SetDataSource(m_fonte.get());
        texto.SetDataField(QStringLiteral("formajulgamento"));
        QCOMPARE(texto.text(), QString());

        m_tabela->Open();
        QCOMPARE(texto.text(), QString());
        Acrescentar(QStringLiteral("Prefeitura"), QStringLiteral("Gl"));
        QCOMPARE(texto.text(), QStringLiteral("Global"));
        Acrescentar(QStringLiteral("Câmara"), QStringLiteral("Pi"));
        QCOMPARE(texto.text(), QString());
        m_tabela->First();
        QCOMPARE(texto.text(), QStringLiteral("Global"));

        m_tabela->EmptyTable();
        QCOMPARE(texto.text(), QString());
    }

    void showsNothingWhileControlsAreHeldOffAndCatchesUpAfter()
    {
        m_tabela->Open();
        TDBText texto;
        texto.SetDataSource(m_fonte.get());
        texto.SetDataField(QStringLiteral("ELIDESCRICAO"));

        m_tabela->DisableControls();
        Acrescentar(QStringLiteral("Prefeitura"), QString());
        QCOMPARE(texto.text(), QString());
        m_tabela->EnableControls();
        QCOMPARE(texto.text(), QStringLiteral("Prefeitura"));
    }

    void aMissingFieldShowsNothing()
    {
        m_tabela->Open();
        Acrescentar(QStringLiteral("Prefeitura"), QString());
        TDBText texto;
        texto.SetDataSource(m_fonte.get());
        texto.SetDataField(QStringLiteral("NaoExiste"));
        QCOMPARE(texto.text(), QString());
    }

    void autoSizeFitsEveryTextAndKeepsItsCorner()
    {
        m_tabela->Open();
        QWidget janela;
        TDBText texto(&janela);
        texto.move(110, 4);
        texto.resize(5, 5);
        texto.SetDataSource(m_fonte.get());
        texto.SetDataField(QStringLiteral("ELIDESCRICAO"));
        texto.SetAutoSize(true);

        Acrescentar(QStringLiteral("Prefeitura Municipal de São José dos Campos"), QString());
        const int larga = texto.width();
        QCOMPARE(texto.size(), texto.sizeHint());
        Acrescentar(QStringLiteral("Câmara"), QString());
        QVERIFY(texto.width() < larga);
        QCOMPARE(texto.size(), texto.sizeHint());
        QCOMPARE(texto.pos(), QPoint(110, 4));
    }

private:
    void Acrescentar(const QString &entidade, const QString &forma)
    {
        m_tabela->Append();
        m_tabela->FieldByName(QStringLiteral("ELIDESCRICAO")).SetAsString(entidade);
        m_tabela->FieldByName(QStringLiteral("FormaJulgamento")).SetAsString(forma);
        m_tabela->Post();
    }

    std::unique_ptr<TMemoryTable> m_tabela;
    std::unique_ptr<TDataSource> m_fonte;
};

QTEST_MAIN(TestDBText)
#include "test_uDBText.moc"
