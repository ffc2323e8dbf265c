#!/usr/bin/env bash
# Installs every Debian package Quillmark needs to build, run and test.
# Idempotent: when everything is present it only checks and returns.
set -euo pipefail

packages=(
  cmake g++ make pkg-config
  qt6-base-dev qt6-webengine-dev qt6-webchannel-dev libqt6opengl6-dev libqt6svg6
  qt6-webengine-dev-tools hunspell-en-us
  libpcre2-dev nlohmann-json3-dev libjpeg62-turbo-dev libcurl4-openssl-dev libpoppler-cpp-dev
  libcmark-gfm-dev libcmark-gfm-extensions-dev libyaml-cpp-dev
  libgtest-dev libgmock-dev
  clang libclang-rt-14-dev
  fp-utils chromium poppler-utils xvfb xauth
  python3
  fonts-dejavu-core
  # The Linux package: icons, manual pages, the package's dependencies
  # (dpkg-shlibdeps), and the tools its test validates and runs it with.
  librsvg2-bin scdoc dpkg-dev desktop-file-utils appstream shared-mime-info man-db x11-utils
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

# The browser tests run on Node. A Node that is already there (for example
# from another vendor's package) is used as it is; Debian's is added otherwise.
if ! command -v node >/dev/null 2>&1 || ! command -v npm >/dev/null 2>&1; then
  missing+=(nodejs npm)
fi

if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  SUDO=""
  if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
  export DEBIAN_FRONTEND=noninteractive
  # Waits for another package manager run instead of failing on its lock.
  lock=(-o DPkg::Lock::Timeout=900)
  $SUDO apt-get "${lock[@]}" update -qq
  $SUDO apt-get "${lock[@]}" install -y -qq --no-install-recommends "${missing[@]}"
fi

# The browser tests' own packages, installed again only when the lock file changed.
web="$(cd "$(dirname "$0")/.." && pwd)/tests/web"
stamp="$web/node_modules/.quillmark-lock"
if [ -f "$web/package-lock.json" ] && ! cmp -s "$web/package-lock.json" "$stamp"; then
  echo "setup: installing the browser tests' packages (npm ci)"
  if (cd "$web" && npm ci --no-audit --no-fund --loglevel=error); then
    cp "$web/package-lock.json" "$stamp"
  else
    # Building and running need none of it; only the browser tests will fail.
    echo "setup: warning: npm ci failed in tests/web; the browser tests cannot run" >&2
  fi
fi
