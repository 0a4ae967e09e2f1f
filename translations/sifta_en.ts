<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
<context>
    <name>Count</name>
    <message numerus="yes">
        <source>%1 match(es)</source>
        <translation>
            <numerusform>%1 match</numerusform>
            <numerusform>%1 matches</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>A line of %1 character(s) is slow to show and scroll: the Search Text lays out a whole line at once</source>
        <translation>
            <numerusform>A line of %1 character is slow to show and scroll: the Search Text lays out a whole line at once</numerusform>
            <numerusform>A line of %1 characters is slow to show and scroll: the Search Text lays out a whole line at once</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 stray byte(s)</source>
        <translation>
            <numerusform>%1 stray byte</numerusform>
            <numerusform>%1 stray bytes</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>The file is UTF-8 but for %1 byte(s) that are not; each shows as xNN and is saved back as that byte. A pattern finds one as \uEFNN.</source>
        <translation>
            <numerusform>The file is UTF-8 but for %1 byte that is not; each shows as xNN and is saved back as that byte. A pattern finds one as \uEFNN.</numerusform>
            <numerusform>The file is UTF-8 but for %1 bytes that are not; each shows as xNN and is saved back as that byte. A pattern finds one as \uEFNN.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 replacement(s)</source>
        <translation>
            <numerusform>%1 replacement</numerusform>
            <numerusform>%1 replacements</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 step(s) at position %2, of %3 allowed</source>
        <translation>
            <numerusform>%1 step at position %2, of %3 allowed</numerusform>
            <numerusform>%1 steps at position %2, of %3 allowed</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 step(s)</source>
        <translation>
            <numerusform>%1 step</numerusform>
            <numerusform>%1 steps</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>The first %1 step(s); the engine goes on beyond them.</source>
        <translation>
            <numerusform>The first %1 step; the engine goes on beyond it.</numerusform>
            <numerusform>The first %1 steps; the engine goes on beyond them.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 character(s)</source>
        <translation>
            <numerusform>%1 character</numerusform>
            <numerusform>%1 characters</numerusform>
        </translation>
    </message>
</context>
</TS>
