#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
# Writes a neural voice folder for the tests: a model with the inputs, output and metadata of a
# Piper voice converted for sherpa-onnx, whose sound is a tone of SAMPLES_PER_ID samples for each
# phoneme id it is given (times the length scale), and a tokens.txt of espeak-ng's IPA symbols.
# With --quiet-ids Q, the first Q ids' samples are silent, as a real voice's lead-in is quiet.
# For benchmarks, the model can be made as large as a real voice (--weight-mb) and as slow, with a
# product of two N by N matrices for each sentence (--work N); neither changes its sound.
# Usage: make-test-voice.py FOLDER [--speakers N] [--sample-rate R] [--language L] [--voice V]
#                                  [--samples-per-id K] [--metadata KEY=VALUE]... [--without KEY]...
#                                  [--truncate] [--weight-mb M] [--work N] [--quiet-ids Q]
import argparse
import os

import numpy
import onnx
from onnx import TensorProto, helper, numpy_helper

SYMBOLS = (
    "_^$ !'(),-.:;?\"¡¿—…«»“”"
    "abcdefghijklmnopqrstuvwxyz"
    "æçðøħŋœǀǁǂǃɐɑɒɓɔɕɖɗɘəɚɛɜɝɞɟɠɡɢɣɤɥɦɧɨɪɫɬɭɮɯɰɱɲɳɴɵɶɸɹɺɻɽɾʀʁʂʃʄʈʉʊʋʌʍʎʏʐʑʒʔʕʘʙʛʜʝʟʡʢʤʧʰʲʷˈˌːˑ˞ˠˤ̩̃̊βθχᵻⱱ"
    "0123456789"
)


def burden(nodes, initializers, weight_mb, work):
    """Adds work and weight whose result, times zero, is added to the sound."""
    parts = []
    nodes.append(helper.make_node("Cast", ["input_lengths"], ["count_scale"], to=TensorProto.FLOAT))
    if weight_mb:
        size = weight_mb * (1 << 20) // 4
        initializers.append(numpy_helper.from_array(
            numpy.full(size, 0.001, dtype=numpy.float32), "weight"))
        nodes.append(helper.make_node("Mul", ["weight", "count_scale"], ["weighted"]))
        nodes.append(helper.make_node("ReduceSum", ["weighted"], ["weight_sum"], keepdims=0))
        parts.append("weight_sum")
    if work:
        rng = numpy.random.default_rng(1)
        matrix = (rng.random((work, work), dtype=numpy.float32) - 0.5) * 0.01
        initializers.append(numpy_helper.from_array(matrix, "matrix"))
        nodes.append(helper.make_node("Mul", ["matrix", "count_scale"], ["scaled"]))
        nodes.append(helper.make_node("MatMul", ["scaled", "matrix"], ["product"]))
        nodes.append(helper.make_node("ReduceSum", ["product"], ["work_sum"], keepdims=0))
        parts.append("work_sum")
    if not parts:
        return "loud"
    initializers.append(helper.make_tensor("nothing", TensorProto.FLOAT, [], [0.0]))
    total = parts[0]
    if len(parts) == 2:
        nodes.append(helper.make_node("Add", parts, ["both"]))
        total = "both"
    nodes.append(helper.make_node("Mul", [total, "nothing"], ["zero_sum"]))
    nodes.append(helper.make_node("Add", ["loud", "zero_sum"], ["burdened"]))
    return "burdened"


def quiet_lead(nodes, initializers, sound, samples_per_id, quiet_ids):
    """Multiplies the sound by zero before the first quiet_ids ids' samples end."""
    if not quiet_ids:
        return sound
    initializers.append(helper.make_tensor(
        "lead", TensorProto.FLOAT, [], [float(samples_per_id * quiet_ids) - 0.5]))
    nodes.append(helper.make_node("Greater", ["t_f", "lead"], ["after_lead"]))
    nodes.append(helper.make_node("Cast", ["after_lead"], ["gate"], to=TensorProto.FLOAT))
    nodes.append(helper.make_node("Mul", [sound, "gate"], ["gated"]))
    return "gated"


def model(samples_per_id, speakers, weight_mb=0, work=0, quiet_ids=0):
    # T = round(N * K * length_scale), where N is the number of ids and length_scale is scales[1].
    nodes = [
        helper.make_node("Shape", ["input"], ["shape"]),
        helper.make_node("Gather", ["shape", "one"], ["count"], axis=0),
        helper.make_node("Cast", ["count"], ["count_f"], to=TensorProto.FLOAT),
        helper.make_node("Gather", ["scales", "one"], ["length_scale"], axis=0),
        helper.make_node("Mul", ["count_f", "per_id"], ["base"]),
        helper.make_node("Mul", ["base", "length_scale"], ["length_f"]),
        helper.make_node("Round", ["length_f"], ["length_r"]),
        helper.make_node("Cast", ["length_r"], ["length"], to=TensorProto.INT64),
        helper.make_node("Range", ["zero", "length", "step"], ["t"]),
        helper.make_node("Cast", ["t"], ["t_f"], to=TensorProto.FLOAT),
        helper.make_node("Mul", ["t_f", "omega"], ["phase"]),
        helper.make_node("Sin", ["phase"], ["wave"]),
        helper.make_node("Mul", ["wave", "amplitude"], ["loud"]),
    ]
    initializers = [
        helper.make_tensor("one", TensorProto.INT64, [], [1]),
        helper.make_tensor("zero", TensorProto.INT64, [], [0]),
        helper.make_tensor("step", TensorProto.INT64, [], [1]),
        helper.make_tensor("per_id", TensorProto.FLOAT, [], [float(samples_per_id)]),
        helper.make_tensor("omega", TensorProto.FLOAT, [], [2 * numpy.pi * 440 / 22050]),
        helper.make_tensor("amplitude", TensorProto.FLOAT, [], [0.5]),
        helper.make_tensor("out_shape", TensorProto.INT64, [3], [1, 1, -1]),
    ]
    sound = quiet_lead(nodes, initializers, burden(nodes, initializers, weight_mb, work),
                       samples_per_id, quiet_ids)
    nodes.append(helper.make_node("Reshape", [sound, "out_shape"], ["output"]))
    inputs = [
        helper.make_tensor_value_info("input", TensorProto.INT64, [1, "N"]),
        helper.make_tensor_value_info("input_lengths", TensorProto.INT64, [1]),
        helper.make_tensor_value_info("scales", TensorProto.FLOAT, [3]),
    ]
    if speakers > 1:
        inputs.append(helper.make_tensor_value_info("sid", TensorProto.INT64, [1]))
    output = helper.make_tensor_value_info("output", TensorProto.FLOAT, [1, 1, "T"])
    graph = helper.make_graph(nodes, "tone", inputs, [output], initializers)
    return helper.make_model(graph, opset_imports=[helper.make_opsetid("", 13)], ir_version=7)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("folder")
    parser.add_argument("--speakers", type=int, default=1)
    parser.add_argument("--sample-rate", type=int, default=22050)
    parser.add_argument("--language", default="English")
    parser.add_argument("--voice", default="en-us")
    parser.add_argument("--samples-per-id", type=int, default=256)
    parser.add_argument("--metadata", action="append", default=[])
    parser.add_argument("--without", action="append", default=[])
    parser.add_argument("--truncate", action="store_true")
    parser.add_argument("--weight-mb", type=int, default=0)
    parser.add_argument("--work", type=int, default=0)
    parser.add_argument("--quiet-ids", type=int, default=0)
    args = parser.parse_args()

    os.makedirs(args.folder, exist_ok=True)
    voice = model(args.samples_per_id, args.speakers, args.weight_mb, args.work, args.quiet_ids)
    metadata = {
        "sample_rate": str(args.sample_rate),
        "n_speakers": str(args.speakers),
        "language": args.language,
        "voice": args.voice,
        "comment": "piper",
        "add_blank": "1",
    }
    metadata.update(item.split("=", 1) for item in args.metadata)
    for key in args.without:
        del metadata[key]
    for key, value in metadata.items():
        entry = voice.metadata_props.add()
        entry.key, entry.value = key, value
    name = os.path.basename(os.path.normpath(args.folder))
    path = os.path.join(args.folder, name + ".onnx")
    onnx.save(voice, path)
    if args.truncate:
        os.truncate(path, os.path.getsize(path) // 2)
    with open(os.path.join(args.folder, "tokens.txt"), "w", encoding="utf-8") as tokens:
        for number, symbol in enumerate(SYMBOLS):
            tokens.write(f"{symbol} {number}\n")


if __name__ == "__main__":
    main()
