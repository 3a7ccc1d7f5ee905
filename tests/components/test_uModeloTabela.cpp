#include "TabelaTeste.h"
#include "components/uModeloTabela.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QTest>

class TestModeloTabela : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The model keeps every promise of an item model through the table's whole life.
    void passesTheModelTesterThroughTheTableLife()
    {
        TabelaTeste dados;
        TModeloTabela modelo;
        QAbstractItemModelTester tester(
            &modelo, QAbstractItemModelTester::FailureReportingMode::QtTest);
        modelo.SetDataSource(&dados.Fonte);
        QCOMPARE(modelo.rowCount(), 3);

        dados.Tabela.Append();
        QCOMPARE(modelo.rowCount(), 4);
        dados.Campo("Item").SetAsInteger(4);
        dados.Tabela.Post();
        dados.Tabela.Next();
        dados.Tabela.Edit();
        dados.Campo("VlCotado").SetAsFloat(5);
        dados.Tabela.Cancel();
        dados.Tabela.Insert();
        dados.Tabela.Cancel();
        QCOMPARE(modelo.rowCount(), 4);
        dados.Tabela.SetFilter(QStringLiteral("Item = 2"));
        dados.Tabela.SetFiltered(true);
        QCOMPARE(modelo.rowCount(), 1);
        dados.Tabela.SetFiltered(false);
        dados.Tabela.DisableControls();
        dados.Tabela.EmptyTable();
        dados.Tabela.EnableControls();
        QCOMPARE(modelo.rowCount(), 0);
        dados.Tabela.Close();
        QCOMPARE(modelo.columnCount(), 0);
        dados.Tabela.Open();
        dados.Campo("DescMaterial").SetVisible(false);
        QCOMPARE(modelo.columnCount(), 4);
        modelo.SetDataSource(nullptr);
        QCOMPARE(modelo.rowCount(), 0);
    }

    void showsTheVisibleFieldsInFieldOrderUnderTheirLabels()
    {
        TabelaTeste dados;
        TModeloTabela modelo;
        modelo.SetDataSource(&dados.Fonte);
        QStringList titulos;
        for (int coluna = 0; coluna < modelo.columnCount(); ++coluna)
            titulos << modelo.headerData(coluna, Qt::Horizontal).toString();
        QCOMPARE(titulos,
            QStringList({QStringLiteral("Item"), QStringLiteral("Material/Serviço"),
                QStringLiteral("Valor Un. Cotado (R$)"), QStringLiteral("itemobservacao"),
                QStringLiteral("ITEMMARCA")}));
        QCOMPARE(modelo.Campo(2), &dados.Campo("VlCotado"));
        QCOMPARE(modelo.ColunaDoCampo(&dados.Campo("CodGrupo")), -1);
    }

    // Each cell reads its own row, whatever row the cursor is on, and without moving it.
    void readsEveryRowWithoutMovingTheCursor()
    {
        TabelaTeste dados;
        dados.Campo("VlCotado").SetDisplayFormat(QStringLiteral("#,##0.00"));
        dados.Campo("VlCotado").SetEditFormat(QStringLiteral("0.000"));
        TModeloTabela modelo;
        modelo.SetDataSource(&dados.Fonte);
        int rolagens = 0;
        dados.Tabela.AfterScroll = [&](TMemoryTable &) { ++rolagens; };

        const QModelIndex valor = modelo.index(2, 2);
        QCOMPARE(valor.data().toString(), QStringLiteral("30,00"));
        QCOMPARE(valor.data(Qt::EditRole).toDouble(), 30.0);
        QCOMPARE(valor.data(TModeloTabela::TextoEdicaoRole).toString(), QStringLiteral("30,000"));
        QCOMPARE(modelo.index(1, 1).data().toString(), QStringLiteral("Material 2"));
        QCOMPARE(valor.data(Qt::TextAlignmentRole).toInt(), int(Qt::AlignRight | Qt::AlignVCenter));
        QCOMPARE(modelo.index(0, 1).data(Qt::TextAlignmentRole).toInt(),
            int(Qt::AlignLeft | Qt::AlignVCenter));
        QCOMPARE(dados.Tabela.RecNo(), 1);
        QCOMPARE(rolagens, 0);
    }

    // The row being typed shows its typed values; only that row is repainted.
    void repaintsOnlyTheCurrentRowWhenOneOfItsFieldsChanges()
    {
        TabelaTeste dados;
        TModeloTabela modelo;
        modelo.SetDataSource(&dados.Fonte);
        dados.Tabela.Next();
        QSignalSpy mudancas(&modelo, &QAbstractItemModel::dataChanged);
        QSignalSpy recargas(&modelo, &QAbstractItemModel::modelReset);
        dados.Tabela.Edit();
        mudancas.clear();
        dados.Campo("ITEMMARCA").SetAsString(QStringLiteral("Acme"));
        QCOMPARE(mudancas.count(), 1);
        QCOMPARE(mudancas.at(0).at(0).toModelIndex(), modelo.index(1, 4));
        QCOMPARE(mudancas.at(0).at(1).toModelIndex(), modelo.index(1, 4));
        QCOMPARE(modelo.index(1, 4).data().toString(), QStringLiteral("Acme"));
        QCOMPARE(recargas.count(), 0);
    }

    void marksTheCursorRowByTheTableState()
    {
        TabelaTeste dados;
        TModeloTabela modelo;
        modelo.SetDataSource(&dados.Fonte);
        QSignalSpy linha(&modelo, &TModeloTabela::linhaAtualMudou);
        dados.Tabela.Last();
        QCOMPARE(modelo.LinhaAtual(), 2);
        QCOMPARE(linha.count(), 1);
        const auto indicador = [&](int l) { return modelo.headerData(l, Qt::Vertical).toString(); };
        QCOMPARE(indicador(2), QStringLiteral("\u25B6"));
        QCOMPARE(indicador(0), QString());
        dados.Tabela.Edit();
        QCOMPARE(indicador(2), QStringLiteral("I"));
        dados.Tabela.Cancel();
        dados.Tabela.Append();
        QCOMPARE(modelo.LinhaAtual(), 3);
        QCOMPARE(indicador(3), QStringLiteral("*"));
    }

    void editsOnlyWritableDataFields()
    {
        TabelaTeste dados;
        dados.Campo("Item").SetReadOnly(true);
        TModeloTabela modelo;
        modelo.SetDataSource(&dados.Fonte);
        const auto editavel = [&](int coluna) {
            return modelo.flags(modelo.index(0, coluna)).testFlag(Qt::ItemIsEditable);
        };
        QVERIFY(!editavel(0)); // read-only
        QVERIFY(editavel(1));
        QVERIFY(!editavel(3)); // memo
    }
};

QTEST_MAIN(TestModeloTabela)
#include "test_uModeloTabela.moc"
