# Sourced by the scripts: the two Windows architectures Kestova is built for, where each lives in
# the build tree, and which of them this host can run under Wine. Whether the host runs 32-bit
# programs is found by starting one: some kernels refuse them whatever their settings read.
. "$(dirname "${BASH_SOURCE[0]}")/../../cmake/wine-arch"
kestova_all_archs="i686 x86_64"

# The architectures to build and test: KESTOVA_ARCHS narrows them for a quick local run.
kestova_archs() {
  local archs=${KESTOVA_ARCHS:-$kestova_all_archs} arch
  for arch in $archs; do
    case $arch in
      i686|x86_64) ;;
      *) echo "KESTOVA_ARCHS: unknown architecture $arch (known: $kestova_all_archs)" >&2; return 1 ;;
    esac
  done
  echo "$archs"
}

kestova_tree() { case $1 in i686) echo build/win ;; x86_64) echo build/win64 ;; esac; }
kestova_dist() { case $1 in i686) echo build/dist ;; x86_64) echo build/dist64 ;; esac; }

kestova_host_runs() {
  local loader
  loader=$(wine_loader "$1")
  [ -x "$loader" ] && WINELOADER=$loader "$loader" --version >/dev/null 2>&1
}

# The first architecture of the list that the host runs, or nothing.
kestova_preferred_arch() {
  local arch
  for arch in "$@"; do
    if kestova_host_runs "$arch"; then echo "$arch"; return 0; fi
  done
  return 1
}
