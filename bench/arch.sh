# Sourced by each bench script: builds the program of the architecture the bench runs on (the
# 32-bit build where the host runs it, else the 64-bit one), names it, and sets $tree to its
# build tree.
. "$root/scripts/lib/archs.sh"
"$root/scripts/bootstrap" >/dev/null
bench_arch=$(kestova_preferred_arch i686 x86_64) || { echo "bench: this host runs no Windows program under Wine" >&2; exit 1; }
KESTOVA_ARCHS=$bench_arch "$root/scripts/build" >/dev/null
tree=$(kestova_tree "$bench_arch")
echo "architecture $bench_arch"
