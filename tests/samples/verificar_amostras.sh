#!/usr/bin/env bash
# Rebuilds the samples from samples/fontes into a scratch folder and compares them byte for
# byte with the committed ones.
set -euo pipefail
gerador=$1
amostras=$2
saida=$(mktemp -d)
trap 'rm -rf "$saida"' EXIT

"$gerador" "$amostras/fontes" "$saida"
status=0
for gerado in "$saida"/*.kvt; do
  if ! cmp -s "$gerado" "$amostras/$(basename "$gerado")"; then
    echo "samples/$(basename "$gerado") differs from what samples/fontes builds" >&2
    status=1
  fi
done
[ "$(ls "$saida"/*.kvt | wc -l)" -eq "$(ls "$amostras"/*.kvt | wc -l)" ] || {
  echo "samples/ and samples/fontes do not hold the same quotations" >&2
  status=1
}
exit $status
