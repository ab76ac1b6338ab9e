/* Loads the built hunspell.dll with the pack's Greek dictionary and checks that it works:
 *
 *   hunspell-smoke.exe <pack folder> <word list>
 *
 * The word list holds one word a line in ISO 8859-7, the dictionary's encoding. The program
 * checks a known good word, a known misspelling and its suggestions, then spells every word of
 * the list and prints the line numbers of the words the dictionary does not know as
 * "unknown <line>". It exits 1 when any fixed check fails and 0 otherwise. */

#include <stdio.h>
#include <string.h>
#include <windows.h>

typedef void *(*create_fn)(const char *, const char *);
typedef void (*destroy_fn)(void *);
typedef int (*spell_fn)(void *, const char *);
typedef char *(*encoding_fn)(void *);
typedef int (*suggest_fn)(void *, char ***, const char *);
typedef void (*free_list_fn)(void *, char ***, int);

static int failures;

static void expect(int ok, const char *what)
{
    printf("%s: %s\n", ok ? "ok" : "FAIL", what);
    if (!ok)
        failures++;
}

int main(int argc, char **argv)
{
    char path[MAX_PATH], aff[MAX_PATH], dic[MAX_PATH], line[512];
    if (argc != 3) {
        fprintf(stderr, "usage: hunspell-smoke <pack folder> <word list>\n");
        return 2;
    }
    snprintf(path, sizeof path, "%s\\hunspell.dll", argv[1]);
    snprintf(aff, sizeof aff, "%s\\el_GR.aff", argv[1]);
    snprintf(dic, sizeof dic, "%s\\el_GR.dic", argv[1]);

    HMODULE dll = LoadLibraryA(path);
    expect(dll != NULL, "hunspell.dll loads");
    if (!dll)
        return 1;
    create_fn create = (create_fn)GetProcAddress(dll, "Hunspell_create");
    destroy_fn destroy = (destroy_fn)GetProcAddress(dll, "Hunspell_destroy");
    spell_fn spell = (spell_fn)GetProcAddress(dll, "Hunspell_spell");
    encoding_fn encoding = (encoding_fn)GetProcAddress(dll, "Hunspell_get_dic_encoding");
    suggest_fn suggest = (suggest_fn)GetProcAddress(dll, "Hunspell_suggest");
    free_list_fn free_list = (free_list_fn)GetProcAddress(dll, "Hunspell_free_list");
    expect(create && destroy && spell && encoding && suggest && free_list, "the C API is exported");
    if (failures)
        return 1;

    void *h = create(aff, dic);
    expect(h != NULL, "Hunspell_create with el_GR.aff and el_GR.dic");
    if (!h)
        return 1;
    expect(strcmp(encoding(h), "ISO8859-7") == 0, "the dictionary encoding is ISO8859-7");

    /* "kalimera" (good morning), right and with its epsilon dropped */
    const char *good = "\xea\xe1\xeb\xe7\xec\xdd\xf1\xe1";
    const char *bad = "\xea\xe1\xeb\xe7\xec\xf1\xe1";
    expect(spell(h, good) != 0, "a common word is accepted");
    expect(spell(h, bad) == 0, "a misspelling is rejected");
    char **list = NULL;
    int n = suggest(h, &list, bad);
    int found = 0;
    for (int i = 0; i < n; i++)
        if (strcmp(list[i], good) == 0)
            found = 1;
    if (n > 0)
        free_list(h, &list, n);
    expect(found, "the right word is among the suggestions for the misspelling");

    FILE *words = fopen(argv[2], "rb");
    expect(words != NULL, "the word list opens");
    int total = 0, unknown = 0;
    for (int number = 1; words && fgets(line, sizeof line, words); number++) {
        line[strcspn(line, "\r\n")] = '\0';
        if (!line[0])
            continue;
        total++;
        if (!spell(h, line)) {
            unknown++;
            printf("unknown %d\n", number);
        }
    }
    if (words)
        fclose(words);
    printf("words %d unknown %d\n", total, unknown);
    destroy(h);
    return failures ? 1 : 0;
}
