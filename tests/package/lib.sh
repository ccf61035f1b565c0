# Shared steps of the package checks.

# need TOOL PACKAGE: skips the check (exit 77) when TOOL is not installed.
need() {
  command -v "$1" >/dev/null 2>&1 && return 0
  echo "SKIP: $1 is not installed (Debian package $2; tools/install-deps.sh installs it)"
  exit 77
}

fail() {
  echo "FAIL: $*" >&2
  exit 1
}
