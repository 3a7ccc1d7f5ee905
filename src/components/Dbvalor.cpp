#include "components/Dbvalor.h"

#include "common/uConfiguracaoRegional.h"
#include "components/uBip.h"
#include "components/uFieldDataLink.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>

namespace {

constexpr int MaximoDigitos = 14;

QChar Separador()
{
    return FormatoBrasileiro().DecimalSeparator;
}

bool Digito(QChar caractere)
{
    return caractere >= u'0' && caractere <= u'9';
}

} // namespace

TDBValor::TDBValor(QWidget *parent)
    : TVrtDBEdit(parent)
{ }

int TDBValor::CasasDecimais() const
{
    return m_casasDecimais >= 0 && m_casasDecimais <= MaximoDigitos ? m_casasDecimais : 0;
}

int TDBValor::NumeroDigitos() const
{
    return m_numeroDigitos >= 1 && m_numeroDigitos <= MaximoDigitos ? m_numeroDigitos
                                                                    : MaximoDigitos;
}

QChar TDBValor::FiltrarCaractere(QChar caractere)
{
    caractere = TVrtDBEdit::FiltrarCaractere(caractere);
    if (caractere.isNull() || caractere < u' ')
        return caractere;
    const QChar resultado = FiltrarNumero(caractere);
    if (resultado.isNull())
        Bip();
    return resultado;
}

// The character the number takes at the caret, or null when it cannot take it. "." and ","
// both stand for the decimal separator.
QChar TDBValor::FiltrarNumero(QChar caractere) const
{
    const QString texto = text();
    const QString selecionado = selectedText();
    const int tamanho = int(texto.size());
    const int selecao = int(selecionado.size());
    const int inicio = selecao > 0 ? selectionStart() : cursorPosition();
    const int casas = CasasDecimais();
    const QChar separador = Separador();
    const bool ponto = caractere == u'.' || caractere == u',';
    const bool temSeparador = texto.contains(separador);
    const int aDireita = tamanho - (inicio + selecao);

    if (caractere == u'E' || caractere == u'e' || caractere == u'+')
        return {};
    if (caractere == u'-' && (!m_aceitaNegativo || texto.contains(u'-')))
        return {};

    if (tamanho >= NumeroDigitos()) {
        // Full: only a character that replaces a selection.
        if (selecao == 0)
            return {};
        if (!ponto)
            return caractere;
        if (selecionado.contains(separador))
            return separador;
        if (temSeparador)
            return {};
        return aDireita <= casas ? separador : QChar();
    }
    if (temSeparador && selecao > 0) {
        if (!ponto)
            return caractere;
        return selecionado.contains(separador) ? separador : QChar();
    }
    if (temSeparador) {
        if (ponto)
            return {};
        const int posicaoSeparador = int(texto.indexOf(separador)) + 1;
        if (posicaoSeparador > inicio)
            return caractere;
        return tamanho - posicaoSeparador >= casas ? QChar() : caractere;
    }
    if (ponto)
        return aDireita <= casas ? separador : QChar();
    return caractere;
}

void TDBValor::keyReleaseEvent(QKeyEvent *event)
{
    // A minus typed anywhere stands in front of the number.
    const QString texto = text();
    const int menos = int(texto.indexOf(u'-'));
    if (menos > 0) {
        const int cursor = cursorPosition();
        setText(QLatin1Char('-') + QString(texto).remove(menos, 1));
        setCursorPosition(cursor > menos ? cursor : cursor + 1);
        MarcarAlterado();
    }
    TVrtDBEdit::keyReleaseEvent(event);
}

void TDBValor::Colar()
{
    if (!PermiteAlteracao())
        return;
    const QString colado = QGuiApplication::clipboard()->text();
    const QChar separador = Separador();
    const qsizetype posicao = colado.indexOf(separador);
    if (posicao >= 0 && colado.size() - posicao - 1 > CasasDecimais()) {
        Bip();
        return;
    }
    for (const QChar caractere : colado) {
        const bool aceito = Digito(caractere) || caractere == separador
            || (m_aceitaNegativo && caractere == u'-');
        if (!aceito) {
            Bip();
            return;
        }
    }
    TVrtDBEdit::Colar();
}

void TDBValor::AntesDeGravar()
{
    const TFieldDataLink &link = DataLink();
    if (!m_aceitaNulo && link.DataSet() && link.CanModify() && link.Editing()
        && text().trimmed().isEmpty()) {
        setText(QStringLiteral("0"));
        MarcarAlterado();
    }
}
