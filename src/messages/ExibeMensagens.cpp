#include "messages/ExibeMensagens.h"

#include <QTextStream>

#include <utility>

namespace {

constexpr int TamanhoMaximoTitulo = 50;

// Before a presenter is installed, messages still reach someone.
int ApresentarNoErroPadrao(const TMensagem &mensagem)
{
    QTextStream(stderr) << mensagem.Titulo << QStringLiteral(": ") << mensagem.Texto << Qt::endl;
    return mrNone;
}

TApresentadorMensagens &ApresentadorAtual()
{
    static TApresentadorMensagens apresentador = ApresentarNoErroPadrao;
    return apresentador;
}

int Apresentar(TMensagem mensagem)
{
    mensagem.Titulo.truncate(TamanhoMaximoTitulo);
    const TApresentadorMensagens &apresentador = ApresentadorAtual();
    return apresentador ? apresentador(mensagem) : mrNone;
}

} // namespace

int ResultadoDoBotao(TBotaoMensagem botao)
{
    switch (botao) {
    case bmSim:
        return mrYes;
    case bmNao:
        return mrNo;
    case bmCancelar:
        return mrCancel;
    case bmContinuar:
        return mrOk;
    case bmTodos:
        return mrAll;
    case bmRepetir:
        return mrRetry;
    }
    return mrNone;
}

TApresentadorMensagens InstalarApresentadorMensagens(TApresentadorMensagens apresentador)
{
    return std::exchange(ApresentadorAtual(), std::move(apresentador));
}

int ExibeMensagemDetalhada(TTipoMensagem tipo, const QString &titulo, const QString &texto,
    TBotoesMensagem botoes, const QString &detalhes, bool detalhesAbertos)
{
    return Apresentar({tipo, titulo, texto, botoes, detalhes, detalhesAbertos, true});
}

int ExibeMensagem(
    TTipoMensagem tipo, const QString &titulo, const QString &texto, TBotoesMensagem botoes)
{
    return Apresentar({tipo, titulo, texto, botoes, QString(), false, false});
}

int ExibeInformacao(const QString &texto, TBotoesMensagem botoes, const QString &detalhes)
{
    return ExibeMensagemDetalhada(
        tmInformacao, QStringLiteral("Atenção"), texto, botoes, detalhes, false);
}

void ExibeAviso(const QString &texto)
{
    ExibeInformacao(texto, bmContinuar, QString());
}
