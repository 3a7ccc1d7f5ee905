#pragma once

class QCoreApplication;

// Loads Qt's own Brazilian Portuguese translations, so that the standard dialogs (open, print,
// file) speak the program's language. Answers whether the translations were found.
bool CarregarTraducoesQt(QCoreApplication &aplicacao);
