#!/bin/sh
# makensis with this folder's nsisconf.nsh, for CPack's NSIS generator.
NSISCONFDIR=$(dirname "$0") exec makensis "$@"
