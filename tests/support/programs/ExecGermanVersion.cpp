// A program whose version resource has a German string table only (no "040904B0").
int wmain()
{
    return 0;
}
