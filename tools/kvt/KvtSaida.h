#pragma once

#include <QString>

#include <functional>

// Exit statuses of kvt.
enum KvtStatus : int { KvtSucesso = 0, KvtRecusado = 1, KvtUsoErrado = 2 };

// Prints every message of the library to standard error as "mensagem: " and "detalhes: "
// lines, answering each as if its first button had been pressed.
void InstalarMensagensNoErroPadrao();

// Runs one operation that opens or saves a quotation file and writes the diagnostics after
// it: the progress log's lines, then, when it raised, "erro: " with the error's text.
int ExecutarComDiagnostico(const std::function<void()> &operacao);

void EscreverSaida(const QString &texto);
void EscreverErro(const QString &texto);
