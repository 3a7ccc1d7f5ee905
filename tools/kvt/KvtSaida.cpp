#include "KvtSaida.h"

#include "common/uExcecoes.h"
#include "messages/ExibeMensagens.h"
#include "messages/uExpLog.h"

#include <QTextStream>

#include <exception>

namespace {

int PrimeiroBotao(TBotoesMensagem botoes)
{
    for (TBotaoMensagem botao : {bmSim, bmNao, bmCancelar, bmContinuar, bmTodos, bmRepetir}) {
        if (botoes.testFlag(botao))
            return ResultadoDoBotao(botao);
    }
    return mrNone;
}

} // namespace

void EscreverSaida(const QString &texto)
{
    QTextStream(stdout) << texto << Qt::endl;
}

void EscreverErro(const QString &texto)
{
    QTextStream(stderr) << texto << Qt::endl;
}

void InstalarMensagensNoErroPadrao()
{
    InstalarApresentadorMensagens([](const TMensagem &mensagem) {
        EscreverErro(QStringLiteral("mensagem: ") + mensagem.Texto);
        if (!mensagem.Detalhes.isEmpty())
            EscreverErro(QStringLiteral("detalhes: ") + mensagem.Detalhes);
        return PrimeiroBotao(mensagem.Botoes);
    });
}

int ExecutarComDiagnostico(const std::function<void()> &operacao)
{
    QString erro;
    try {
        operacao();
    } catch (const Exception &e) {
        erro = e.Message();
    } catch (const std::exception &e) {
        erro = QString::fromLocal8Bit(e.what());
    }
    for (const QString &linha : ObterLogManager().Linhas())
        EscreverErro(linha);
    if (erro.isNull())
        return KvtSucesso;
    EscreverErro(QStringLiteral("erro: ") + erro);
    return KvtRecusado;
}
