# Shared by the install and package checks: a temporary work folder, failures, and validators that
# are skipped with a clear message when not installed.
work=$(mktemp -d)
trap 'chmod -R u+w "$work"; rm -rf "$work"' EXIT
failures=0
skipped=0

fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

# validate TOOL DEBIAN_PACKAGE ARGS...: runs TOOL ARGS, printing its output.
validate() {
  local tool=$1 package=$2
  shift 2
  if ! command -v "$tool" >/dev/null; then
    echo "SKIPPED: $tool is not installed (Debian package $package; scripts/deps.sh installs it)"
    skipped=$((skipped + 1))
    return
  fi
  echo "== $tool $*"
  "$tool" "$@" || fail "$tool $*"
}

finish() {
  [ "$failures" -eq 0 ] || exit 1
  [ "$skipped" -eq 0 ] || exit 77
  echo "all checks passed"
  exit 0
}
