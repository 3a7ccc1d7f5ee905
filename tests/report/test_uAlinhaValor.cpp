#include "report/uAlinhaValor.h"
#include "report/uBandasRelatorio.h"
#include "support/MensagemGravador.h"

#include <QGuiApplication>
#include <QTest>

namespace {

const QString MensagemCustomizado = QStringLiteral(
    "Esta propriedade só pode ser mudada se a propriedade \"TipoAlinhaValor = tavCustomizado\".");

// A left-aligned, self-sizing, stretching label: what a preset must undo.
std::unique_ptr<TRotuloRelatorio> RotuloEsticavel()
{
    auto rotulo = std::make_unique<TRotuloRelatorio>(0, 0, 0, FonteRelatorio(10));
    rotulo->SetEstica(true);
    return rotulo;
}

enum TPropriedade { Cifrao, Digitos, Casas, Zeros };

void Mudar(TAlinhaValor &alinha, TPropriedade propriedade, int valor)
{
    switch (propriedade) {
    case Cifrao:
        alinha.SetTamanhoCifrao(quint8(valor));
        break;
    case Digitos:
        alinha.SetDigitos(quint8(valor));
        break;
    case Casas:
        alinha.SetCasasDecimais(quint8(valor));
        break;
    case Zeros:
        alinha.SetNumeroZerosADireita(quint8(valor));
        break;
    }
}

int Ler(const TAlinhaValor &alinha, TPropriedade propriedade)
{
    switch (propriedade) {
    case Cifrao:
        return alinha.TamanhoCifrao();
    case Digitos:
        return alinha.Digitos();
    case Casas:
        return alinha.CasasDecimais();
    case Zeros:
        return alinha.NumeroZerosADireita();
    }
    return -1;
}

} // namespace

class TestAlinhaValor : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void novoObjetoComecaSemAlinhamento()
    {
        const TAlinhaValor alinha;
        QCOMPARE(alinha.TipoAlinhaValor(), tavNenhum);
        QCOMPARE(int(alinha.TamanhoCifrao()), 0);
        QCOMPARE(int(alinha.NumeroZerosADireita()), 0);
        QCOMPARE(int(alinha.Digitos()), 15);
        QCOMPARE(int(alinha.CasasDecimais()), 5);
        QVERIFY(!alinha.MostraAsterisco);
    }

    void predefinicoes_data()
    {
        QTest::addColumn<int>("tipo");
        QTest::addColumn<int>("cifrao");
        QTest::addColumn<int>("zeros");
        QTest::addColumn<int>("casas");
        QTest::newRow("quantidade") << int(tavQuantidade) << 0 << 0 << 5;
        QTest::newRow("unitário com cifrão") << int(tavValorUnitarioComCifrao) << 3 << 2 << 5;
        QTest::newRow("unitário sem cifrão") << int(tavValorUnitarioSemCifrao) << 0 << 2 << 5;
        QTest::newRow("total com cifrão") << int(tavValorTotalComCifrao) << 3 << 2 << 2;
        QTest::newRow("total sem cifrão") << int(tavValorTotalSemCifrao) << 0 << 2 << 2;
        // Back to no alignment from the total preset: the widths return to their defaults.
        QTest::newRow("nenhum") << int(tavNenhum) << 0 << 0 << 5;
    }

    void predefinicoes()
    {
        QFETCH(int, tipo);
        MensagemGravador gravador;
        auto rotulo = RotuloEsticavel();
        TAlinhaValor &alinha = rotulo->AlinhaValor();
        alinha.SetTipoAlinhaValor(tavValorTotalComCifrao);

        alinha.SetTipoAlinhaValor(TTipoAlinhaValor(tipo));

        QCOMPARE(int(alinha.TipoAlinhaValor()), tipo);
        QTEST(int(alinha.TamanhoCifrao()), "cifrao");
        QTEST(int(alinha.NumeroZerosADireita()), "zeros");
        QTEST(int(alinha.CasasDecimais()), "casas");
        QCOMPARE(int(alinha.Digitos()), 15);
        QVERIFY(gravador.Mensagens().isEmpty());
        // Any kind but none puts its owner right-aligned, fixed in size and single-line.
        QCOMPARE(rotulo->Alinhamento(), Qt::Alignment(Qt::AlignRight));
        QVERIFY(!rotulo->AutoSize());
        QVERIFY(!rotulo->Estica());
    }

    void nenhumNaoMexeNoDono()
    {
        auto rotulo = RotuloEsticavel();
        rotulo->AlinhaValor().SetTipoAlinhaValor(tavNenhum);
        QCOMPARE(rotulo->Alinhamento(), Qt::Alignment(Qt::AlignLeft));
        QVERIFY(rotulo->AutoSize());
        QVERIFY(rotulo->Estica());
    }

    void customizadoGuardaOsValores()
    {
        MensagemGravador gravador;
        TAlinhaValor alinha;
        alinha.SetTipoAlinhaValor(tavValorTotalComCifrao);
        alinha.SetTipoAlinhaValor(tavCustomizado);
        QCOMPARE(int(alinha.TamanhoCifrao()), 3);
        QCOMPARE(int(alinha.CasasDecimais()), 2);

        alinha.SetCasasDecimais(4);
        alinha.SetDigitos(20);
        QCOMPARE(int(alinha.CasasDecimais()), 4);
        QCOMPARE(int(alinha.Digitos()), 20);
        QVERIFY(gravador.Mensagens().isEmpty());
    }

    void setters_data()
    {
        QTest::addColumn<int>("tipo");
        QTest::addColumn<int>("propriedade");
        QTest::addColumn<int>("valor");
        QTest::addColumn<int>("esperado");
        QTest::addColumn<QString>("mensagem");
        const QString nenhuma;
        const QString zero = QStringLiteral("O número de dígitos deve ser maior que zero.");
        const QString digitos
            = QStringLiteral("O número de dígitos deve ser maior que o número de casas decimais.");
        const QString casas
            = QStringLiteral("O número de casas decimais deve ser menor que o número de dígitos.");
        const int total = tavValorTotalComCifrao;

        QTest::newRow("preset recusa casas")
            << total << int(Casas) << 3 << 2 << MensagemCustomizado;
        QTest::newRow("preset recusa dígitos")
            << total << int(Digitos) << 10 << 15 << MensagemCustomizado;
        QTest::newRow("preset recusa cifrão")
            << total << int(Cifrao) << 1 << 3 << MensagemCustomizado;
        QTest::newRow("preset recusa zeros")
            << total << int(Zeros) << 1 << 2 << MensagemCustomizado;
        QTest::newRow("mesmo valor passa calado") << total << int(Casas) << 2 << 2 << nenhuma;
        QTest::newRow("nenhum aceita casas") << int(tavNenhum) << int(Casas) << 3 << 3 << nenhuma;
        QTest::newRow("nenhum aceita cifrão") << int(tavNenhum) << int(Cifrao) << 2 << 2 << nenhuma;
        QTest::newRow("dígitos zero") << int(tavCustomizado) << int(Digitos) << 0 << 15 << zero;
        QTest::newRow("dígitos iguais às casas")
            << int(tavCustomizado) << int(Digitos) << 5 << 15 << digitos;
        QTest::newRow("dígitos abaixo das casas")
            << int(tavCustomizado) << int(Digitos) << 4 << 15 << digitos;
        QTest::newRow("casas iguais aos dígitos")
            << int(tavCustomizado) << int(Casas) << 15 << 5 << casas;
        QTest::newRow("casas abaixo dos dígitos")
            << int(tavCustomizado) << int(Casas) << 14 << 14 << nenhuma;
    }

    void setters()
    {
        QFETCH(int, tipo);
        QFETCH(int, propriedade);
        QFETCH(int, valor);
        QFETCH(QString, mensagem);
        TAlinhaValor alinha;
        alinha.SetTipoAlinhaValor(TTipoAlinhaValor(tipo));
        MensagemGravador gravador;

        Mudar(alinha, TPropriedade(propriedade), valor);

        QTEST(Ler(alinha, TPropriedade(propriedade)), "esperado");
        if (mensagem.isEmpty()) {
            QVERIFY(gravador.Mensagens().isEmpty());
        } else {
            QCOMPARE(gravador.Textos(), QStringList {mensagem});
            QCOMPARE(gravador.Mensagens().first().Tipo, tmInformacao);
        }
    }

    void modelos_data()
    {
        QTest::addColumn<int>("tipo");
        QTest::addColumn<QString>("largura");
        QTest::addColumn<QString>("decimal");
        QTest::newRow("total com cifrão")
            << int(tavValorTotalComCifrao) << QStringLiteral("000-9.999.999.999.999,99")
            << QStringLiteral(",00");
        QTest::newRow("unitário sem cifrão")
            << int(tavValorUnitarioSemCifrao) << QStringLiteral("-9.999.999.999,99999")
            << QStringLiteral(",00000");
    }

    void modelos()
    {
        QFETCH(int, tipo);
        TAlinhaValor alinha;
        alinha.SetTipoAlinhaValor(TTipoAlinhaValor(tipo));
        QTEST(alinha.ModeloLargura(), "largura");
        QTEST(alinha.ModeloDecimal(), "decimal");
    }

    void modeloSemCasasDecimais()
    {
        TAlinhaValor alinha;
        alinha.SetTipoAlinhaValor(tavCustomizado);
        alinha.SetCasasDecimais(0);
        alinha.SetDigitos(7);
        alinha.SetTamanhoCifrao(2);
        QCOMPARE(alinha.ModeloLargura(), QStringLiteral("00-9.999.999"));
        QCOMPARE(alinha.ModeloDecimal(), QString());
    }

    void divisao_data()
    {
        QTest::addColumn<int>("tipo");
        QTest::addColumn<bool>("asterisco");
        QTest::addColumn<QString>("texto");
        QTest::addColumn<QString>("inteira");
        QTest::addColumn<QString>("decimal");
        const int total = tavValorTotalComCifrao;
        const int unitario = tavValorUnitarioSemCifrao;
        const int quantidade = tavQuantidade;
        auto linha = [](const char *nome, int tipo, bool asterisco, const char *texto,
                         const char *inteira, const char *decimal) {
            QTest::newRow(nome) << tipo << asterisco << QString::fromUtf8(texto)
                                << QString::fromUtf8(inteira) << QString::fromUtf8(decimal);
        };
        linha("total completa uma casa", total, false, "12.345,6", "12.345", ",60");
        linha("total sem decimais", total, false, "12.345", "12.345", ",00");
        linha("total exata", total, false, "1.234,56", "1.234", ",56");
        linha("total corta casas a mais", total, false, "7,129", "7", ",12");
        linha("quantidade inteira perde separador", quantidade, false, "1,000", "1", "");
        linha("quantidade com meio", quantidade, false, "1,500", "1", ",5");
        linha("quantidade sem decimais", quantidade, false, "42", "42", "");
        linha("unitário apaga zeros além de dois", unitario, false, "1,23450", "1", ",2345");
        linha("unitário guarda dois zeros", unitario, false, "0,10000", "0", ",10");
        linha("unitário todo em zeros", unitario, false, "3,00000", "3", ",00");
        linha("asterisco depois da parte decimal", total, true, "5,5", "5", ",50*");
        linha("asterisco sem parte decimal", quantidade, true, "3,0", "3", "*");
    }

    void divisao()
    {
        QFETCH(int, tipo);
        QFETCH(bool, asterisco);
        QFETCH(QString, texto);
        TAlinhaValor alinha;
        alinha.SetTipoAlinhaValor(TTipoAlinhaValor(tipo));
        alinha.MostraAsterisco = asterisco;

        const TPartesValor partes = alinha.Dividir(texto);

        QTEST(partes.Inteira, "inteira");
        QTEST(partes.Decimal, "decimal");
    }

    void atribuicaoCopiaEPreparaODono()
    {
        TAlinhaValor modelo;
        modelo.SetTipoAlinhaValor(tavValorUnitarioComCifrao);
        modelo.MostraAsterisco = true;
        auto rotulo = RotuloEsticavel();

        rotulo->SetAlinhaValor(modelo);

        const TAlinhaValor &copia = rotulo->AlinhaValor();
        QCOMPARE(copia.TipoAlinhaValor(), tavValorUnitarioComCifrao);
        QCOMPARE(int(copia.TamanhoCifrao()), 3);
        QCOMPARE(int(copia.NumeroZerosADireita()), 2);
        QVERIFY(copia.MostraAsterisco);
        QCOMPARE(rotulo->Alinhamento(), Qt::Alignment(Qt::AlignRight));
        QVERIFY(!rotulo->Estica());
    }
};

QTEST_MAIN(TestAlinhaValor)
#include "test_uAlinhaValor.moc"
