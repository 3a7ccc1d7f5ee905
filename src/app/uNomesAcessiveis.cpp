#include "app/uNomesAcessiveis.h"

#include <QAccessible>
#include <QGroupBox>

namespace {

// The name Qt gives a control: its own, its text's or its label's.
QString NomeDado(QWidget &controle)
{
    QAccessibleInterface *acessivel = QAccessible::queryAccessibleInterface(&controle);
    return acessivel ? acessivel->text(QAccessible::Name) : QString();
}

// A title as it reads: "&&" is a "&", a single "&" marks the letter after it.
QString SemMnemonico(const QString &texto)
{
    QString nome;
    for (qsizetype i = 0; i < texto.size(); ++i) {
        if (texto.at(i) == QLatin1Char('&') && i + 1 < texto.size())
            ++i;
        nome.append(texto.at(i));
    }
    return nome;
}

QString NomeDoRedor(const QWidget &controle, const QWidget &janela)
{
    for (const QWidget *pai = controle.parentWidget(); pai && pai != &janela;
         pai = pai->parentWidget()) {
        if (!pai->accessibleName().isEmpty())
            return pai->accessibleName();
        if (const auto *caixa = qobject_cast<const QGroupBox *>(pai))
            return SemMnemonico(caixa->title());
    }
    return QString();
}

} // namespace

void NomearControles(QWidget &janela)
{
    for (QWidget *controle : janela.findChildren<QWidget *>()) {
        if (controle->focusPolicy() == Qt::NoFocus || !NomeDado(*controle).isEmpty())
            continue;
        const QString nome = NomeDoRedor(*controle, janela);
        if (!nome.isEmpty())
            controle->setAccessibleName(nome);
    }
}
