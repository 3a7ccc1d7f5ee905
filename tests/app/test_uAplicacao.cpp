#include "app/uAplicacao.h"
#include "common/uExcecoes.h"
#include "support/MensagemGravador.h"

#include <QEvent>
#include <QSettings>
#include <QTest>

#include <functional>
#include <stdexcept>

namespace {

// An object whose every event raises what it is told to.
class TLancador : public QObject
{
public:
    explicit TLancador(std::function<void()> lancar)
        : m_lancar(std::move(lancar))
    { }

    bool event(QEvent *) override
    {
        m_lancar();
        return true;
    }

private:
    std::function<void()> m_lancar;
};

} // namespace

// Declared before the data tables below take the type in a column.
Q_DECLARE_METATYPE(std::function<void()>)

class TestAplicacao : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void escapedErrorsNeverEndTheProgram_data()
    {
        QTest::addColumn<std::function<void()>>("lancar");
        QTest::addColumn<QStringList>("mensagens");

        QTest::newRow("silent abort")
            << std::function<void()>([] { throw EAbort(); }) << QStringList();
        QTest::newRow("program's error") << std::function<void()>([] {
            throw EVrtException(QStringLiteral("Arquivo inválido."));
        }) << QStringList {QStringLiteral("Arquivo inválido.")};
        QTest::newRow("standard error")
            << std::function<void()>([] { throw std::runtime_error("falhou"); })
            << QStringList {QStringLiteral("falhou")};
    }

    void escapedErrorsNeverEndTheProgram()
    {
        QFETCH(std::function<void()>, lancar);
        QFETCH(QStringList, mensagens);
        MensagemGravador gravador;
        TLancador lancador(lancar);

        QEvent evento(QEvent::User);
        QVERIFY(!QCoreApplication::sendEvent(&lancador, &evento));

        QCOMPARE(gravador.Textos(), mensagens);
        for (const TMensagem &mensagem : gravador.Mensagens()) {
            QCOMPARE(mensagem.Tipo, tmErro);
            QCOMPARE(mensagem.Titulo, QStringLiteral("Atenção"));
            QCOMPARE(mensagem.Botoes, TBotoesMensagem(bmContinuar));
        }
    }

    void titleIsTheProgramsName()
    {
        QCOMPARE(QCoreApplication::applicationName(), QStringLiteral("Varenta-Cotação"));
    }

    void settingsAreKeptUnderTheProgramsNames()
    {
        const QSettings configuracoes;
        QCOMPARE(configuracoes.organizationName(), QStringLiteral("Varenta"));
        QCOMPARE(configuracoes.applicationName(), QStringLiteral("Varenta-Cotação"));
    }
};

int main(int argc, char **argv)
{
    TAplicacao aplicacao(argc, argv);
    TestAplicacao teste;
    return QTest::qExec(&teste, argc, argv);
}

#include "test_uAplicacao.moc"
