// The methods of the core object, over the plain C functions of bindings.cpp.
// Linked into offsetcore.js after the module's own code, where its memory
// (HEAPU8) and the C functions (_offsetcore_...) are in scope.
//
// A method called with the wrong number of arguments, or with anything but a
// string where it asks for a text, throws a TypeError and calls nothing. A
// click or field object may be anything: a member that is missing or no
// string counts as an empty box.
{
    const encoder = new TextEncoder();
    const decoder = new TextDecoder();

    const text = (value) => {
        if (typeof value !== 'string') {
            throw new TypeError('Cannot pass non-string to std::string');
        }
        return value;
    };
    const member = (object, name) => {
        const value = object === null || object === undefined ? undefined : object[name];
        return typeof value === 'string' ? value : '';
    };

    // Packs the texts into the core's input buffer (each its UTF-8 length in
    // four bytes, little-endian, then its bytes), calls the C function and
    // reads the JSON it answers with.
    const ask = (call, texts, number = 0) => {
        // No UTF-16 unit takes more than three bytes in UTF-8.
        let size = 0;
        for (const item of texts) {
            size += 4 + 3 * item.length;
        }
        let at = _offsetcore_input(size); // may grow the memory; HEAPU8 follows
        const lengths = new DataView(HEAPU8.buffer);
        for (const item of texts) {
            const { written } = encoder.encodeInto(item, HEAPU8.subarray(at + 4));
            lengths.setUint32(at, written, true);
            at += 4 + written;
        }
        const answer = call(number);
        return JSON.parse(decoder.decode(HEAPU8.subarray(answer, HEAPU8.indexOf(0, answer))));
    };

    const method = (name, arity, body) => {
        Module[name] = (...args) => {
            if (args.length !== arity) {
                throw new TypeError(`function ${name} called with ${args.length} arguments, `
                    + `expected ${arity} args!`);
            }
            return body(...args);
        };
    };

    method('concentricAngleList', 0, () => ask(_offsetcore_concentricAngleList, []));
    method('singleWallAngleList', 0, () => ask(_offsetcore_singleWallAngleList, []));
    method('sectionCountList', 0, () => ask(_offsetcore_sectionCountList, []));
    method('everySingleWallDiameterList', 0,
        () => ask(_offsetcore_everySingleWallDiameterList, []));
    method('singleWallDiameterList', 1,
        (angleText) => ask(_offsetcore_singleWallDiameterList, [text(angleText)]));
    method('defaultChartTotal', 0, () => ask(_offsetcore_defaultChartTotal, []));

    // (click, decimalSeparator): the texts of the click's boxes, in the order
    // the C function reads them, then the separator.
    const clickAnswer = (call, boxes, object, separator) => {
        text(separator);
        return ask(call, [...boxes.map((box) => member(object, box)), separator]);
    };
    const click = (name, call, boxes) => method(name, 2,
        (object, separator) => clickAnswer(call, boxes, object, separator));
    click('concentricLengths', _offsetcore_concentricLengths, ['angle', 'offset']);
    click('concentricOffsets', _offsetcore_concentricOffsets, ['angle', 'n1000', 'n500', 'n250']);
    click('singleWallLengths', _offsetcore_singleWallLengths,
        ['angle', 'pickedAngle', 'diameter', 'offset']);
    click('singleWallOffsets', _offsetcore_singleWallOffsets,
        ['angle', 'diameter', 'n1000', 'n500', 'n250']);
    // A plan or chart of a system the core has no name for ("concentric" or
    // "singlewall") is refused as a wrong argument is, never answered for
    // another system.
    const systemClick = (name, call, boxes) => method(name, 2, (object, separator) => {
        const answer = clickAnswer(call, boxes, object, separator);
        if (answer === null) {
            throw new TypeError(
                `${name}: no system is named ${JSON.stringify(member(object, 'system'))}`);
        }
        return answer;
    });
    systemClick('planOffset', _offsetcore_planOffset, ['system', 'diameter', 'offset']);
    systemClick('offsetChart', _offsetcore_offsetChart, ['system', 'angle', 'diameter', 'total']);

    // (text, direction, decimalSeparator); direction crosses as a C int.
    method('steppedCount', 3, (count, direction, separator) =>
        ask(_offsetcore_steppedCount, [text(count), text(separator)], direction));

    // fields: {angle, offset, a, b, length, vertical}, each {caption, value};
    // resultsFrom: {angle, offset} of the mode 1 results shown, or null.
    method('testReport', 2, (fields, resultsFrom) => {
        const texts = [];
        for (const name of ['angle', 'offset', 'a', 'b', 'length', 'vertical']) {
            const item = fields === null || fields === undefined ? null : fields[name];
            texts.push(member(item, 'caption'), member(item, 'value'));
        }
        const from = resultsFrom !== null && resultsFrom !== undefined;
        if (from) {
            texts.push(member(resultsFrom, 'angle'), member(resultsFrom, 'offset'));
        }
        return ask(_offsetcore_testReport, texts, from ? 1 : 0);
    });

    method('checkWindowPrint', 4, (length, vertical, horizontal, sectionVertical) =>
        ask(_offsetcore_checkWindowPrint,
            [text(length), text(vertical), text(horizontal), text(sectionVertical)]));
    method('messageFor', 1, (name) => ask(_offsetcore_messageFor, [text(name)]));
}
