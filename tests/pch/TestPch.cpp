// The translation unit the test programs' shared precompiled header is built for.
