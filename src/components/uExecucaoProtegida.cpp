#include "components/uExecucaoProtegida.h"

#include "common/uExcecoes.h"
#include "messages/ExibeMensagens.h"

bool ExecutarProtegido(const std::function<void()> &passo)
{
    try {
        passo();
        return true;
    } catch (const EAbort &) {
        return false;
    } catch (const Exception &erro) {
        ExibeMensagem(tmErro, QStringLiteral("Atenção"), erro.Message(), bmContinuar);
        return false;
    }
}
