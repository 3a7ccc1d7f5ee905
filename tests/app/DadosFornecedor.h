#pragma once

// The supplier window's edits and realistic details for them: shared by the window's tests and
// the documentation's pictures.

#include <QString>
#include <QTest>
#include <QWidget>

#include <iterator>

// The edits in Tab order, with their fields and the letter of their label.
struct TEditEsperado
{
    const char *edit;
    const char *campo;
    Qt::Key letra;
};

inline const TEditEsperado Edits[] = {
    {"edRazaoSocial", "FORRAZAOSOCIAL", Qt::Key_Z},
    {"edNomeFantasia", "FORNOMEFANTASIA", Qt::Key_N},
    {"edCPFCNPJ", "FORCPFCNPJ", Qt::Key_C},
    {"edEndereco", "FORENDERECO", Qt::Key_E},
    {"edCidade", "FORCIDADE", Qt::Key_I},
    {"edEstado", "FORESTADO", Qt::Key_T},
    {"edCep", "FORCEP", Qt::Key_P},
    {"edEmail", "FOREMAIL", Qt::Key_M},
    {"edTelefoneEmpresa", "FORFONEEMPRESA", Qt::Key_F},
    {"edFaxEmpresa", "FORFAXEMPRESA", Qt::Key_A},
    {"edRepresentante", "FORREPRESENTANTE", Qt::Key_R},
    {"edTelefoneRepresentante", "FORFONEREPRESENTANTE", Qt::Key_O},
};

// Realistic details, one per edit.
inline const char *const Detalhes[] = {
    "Papelaria Boa Vista Comércio de Materiais Ltda.",
    "Papelaria Boa Vista",
    "12.345.678/0001-95",
    "Av. Getúlio Vargas, 1.520, sala 3 - Centro",
    "Santa Rita do Sapucaí",
    "Minas Gerais",
    "37540-000",
    "vendas@boavista.com.br",
    "(35) 3471-2200",
    "(35) 3471-2201",
    "João Carlos Ferreira",
    "(35) 99876-5432",
};

// Types a text key by key, accented letters included.
inline void Teclar(QWidget *controle, const QString &texto)
{
    for (const QChar caractere : texto) {
        const char ascii = caractere.toLatin1();
        if (caractere.unicode() < 0x80)
            QTest::keyClick(controle, ascii);
        else
            QTest::sendKeyEvent(
                QTest::Click, controle, Qt::Key_unknown, QString(caractere), Qt::NoModifier);
    }
}

// Types one detail into each edit of the window, then goes back to the first edit.
inline void DigitarDetalhes(QWidget &janela)
{
    for (std::size_t i = 0; i < std::size(Edits); ++i) {
        auto *edit = janela.findChild<QWidget *>(QLatin1String(Edits[i].edit));
        edit->setFocus();
        Teclar(edit, QString::fromUtf8(Detalhes[i]));
    }
    janela.findChild<QWidget *>(QLatin1String(Edits[0].edit))->setFocus();
}
