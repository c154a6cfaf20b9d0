#include "Prompt.h"

namespace {
SilentPrompt g_silent;
Prompt *g_current = &g_silent;
}

Prompt &Prompt::current()
{
    return *g_current;
}

void Prompt::install(Prompt *prompt)
{
    g_current = prompt ? prompt : &g_silent;
}
