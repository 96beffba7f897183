#pragma once
// The keywords of the parameter block, defined once for the builder's
// writer and the launcher's reader, in the order the writer writes them.
// Their texts are packed into one string, each ending with its NUL, so
// that the launcher stubs carry them without a table of pointers.

#define CASKIT_BLOCK_KEYWORDS(X)                                                                         \
    X(BinaryPath, "binarypath") X(ClassName, "classname") X(Parameters, "parameters")                    \
    X(AppendCp, "appendcp") X(PrependCp, "prependcp") X(NoCp, "nocp") X(Environment, "environment")      \
    X(ClassPath, "classpath") X(Properties, "properties") X(NoAsyncGc, "noasyncgc")                      \
    X(NoClassGc, "noclassgc") X(VerifyRemote, "verifyremote") X(Verify, "verify")                        \
    X(NoVerify, "noverify") X(DisableJit, "disablejit") X(Console, "console")                            \
    X(RouteConsole, "routeconsole") X(MinHeap, "minheap") X(MaxHeap, "maxheap")                          \
    X(MaxCStack, "maxcstack") X(MaxJavaStack, "maxjavastack") X(JvmOptions, "jvmoptions")                \
    X(JavaMin, "javamin") X(JavaMax, "javamax") X(DownloadUrl, "downloadurl")                            \
    X(StartupCache, "startupcache") X(WorkingFolder, "workingfolder") X(RuntimeHeap, "runtimeheap")      \
    X(RestartExitCode, "restartexitcode") X(SingleInstance, "singleinstance") X(InstanceId, "instanceid") \
    X(InstanceHandler, "instancehandler") X(SplashTimeout, "splashtimeout") X(EmbeddedJar, "embeddedjar") \
    X(SplashImage, "splashimage")

enum class BlockKeyword : unsigned char {
#define CASKIT_KEYWORD_ID(id, text) id,
    CASKIT_BLOCK_KEYWORDS(CASKIT_KEYWORD_ID)
#undef CASKIT_KEYWORD_ID
    Count  // not a keyword: how many there are
};

// Every keyword, in the order of BlockKeyword.
#define CASKIT_KEYWORD_TEXT(id, text) text "\0"
inline constexpr char kBlockKeywords[] = CASKIT_BLOCK_KEYWORDS(CASKIT_KEYWORD_TEXT);
#undef CASKIT_KEYWORD_TEXT

// The text of `keyword`, which `kBlockKeywords` holds.
constexpr const char* blockKeywordText(BlockKeyword keyword) {
    const char* text = kBlockKeywords;
    for (int i = 0; i < static_cast<int>(keyword); ++i)
        while (*text++ != '\0') {}
    return text;
}
